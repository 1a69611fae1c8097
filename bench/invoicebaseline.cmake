# The baseline draws onto Qt's own PDF devices; Plenova's batch beside it reads the committed
# example invoice.
target_link_libraries(${target} PRIVATE Qt6::PrintSupport)
target_compile_definitions(${target} PRIVATE
    PLENOVA_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
