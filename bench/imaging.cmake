# The peers the picture readers are measured against: giflib and plain libjpeg.
find_package(GIF REQUIRED)
find_package(JPEG REQUIRED)
target_link_libraries(${target} PRIVATE GIF::GIF JPEG::JPEG)
# The benchmark's pictures are written by the same builders the tests use.
target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/imaging/TestPictures.cpp)
target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/imaging)
