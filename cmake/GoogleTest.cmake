# GoogleTest and GoogleMock built from Debian's sources, so that the same test
# files run natively and, cross-built, under Wine.
set(LUMORA_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
if(WIN32)
    # Ahead of GoogleTest's own headers, for GoogleTest and every test.
    include_directories(BEFORE ${PROJECT_SOURCE_DIR}/tests/googletest)
endif()
add_subdirectory(${LUMORA_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
