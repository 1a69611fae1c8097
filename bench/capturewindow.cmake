# The invoice is the committed example.
target_compile_definitions(${target} PRIVATE
    PLENOVA_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
