# The design view lives in the designer's layer.
target_link_libraries(${target} PRIVATE plenova_designer)
