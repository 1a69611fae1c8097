# The peers the picture readers are measured against: giflib and plain libjpeg.
find_package(GIF REQUIRED)
find_package(JPEG REQUIRED)
target_link_libraries(${target} PRIVATE GIF::GIF JPEG::JPEG)
