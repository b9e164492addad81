# The program, minus its entry point, so that tests, benchmarks and fuzz targets can start it in-process.
# `platform` is what it links against: the stand-in's win32_api on Linux, the system's libraries on Windows.
function(oxbyte_app_library root)
  file(GLOB sources CONFIGURE_DEPENDS
    ${root}/app/*.cpp ${root}/document/*.cpp ${root}/view/*.cpp ${root}/dialogs/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/app/winmain\\.cpp$")
  add_library(oxbyte_app STATIC ${sources})
  target_include_directories(oxbyte_app PUBLIC ${root})
  target_link_libraries(oxbyte_app PUBLIC ${ARGN})
endfunction()
