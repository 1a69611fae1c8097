# The invoice is the committed example, filled with the examples' own sample values.
target_link_libraries(${target} PRIVATE plenova_example_formats Qt6::PrintSupport)
target_compile_definitions(${target} PRIVATE
    PLENOVA_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
