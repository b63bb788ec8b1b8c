# Little CMS, the independent ICC reader and writer that tests and benchmarks
# measure the engine's profiles against. Never linked into the product.
include_guard(GLOBAL)
find_path(LCMS2_INCLUDE_DIR lcms2.h REQUIRED)
find_library(LCMS2_LIBRARY lcms2 REQUIRED)
add_library(lcms2 INTERFACE IMPORTED)
target_include_directories(lcms2 INTERFACE ${LCMS2_INCLUDE_DIR})
target_link_libraries(lcms2 INTERFACE ${LCMS2_LIBRARY})
