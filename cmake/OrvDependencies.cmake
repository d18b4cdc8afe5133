# Imported targets for the static third-party libraries built by scripts/deps.sh
# (ORV_DEPS_PREFIX) and for zlib from Debian's libz-mingw-w64-dev.
if(NOT ORV_DEPS_PREFIX)
  message(FATAL_ERROR "ORV_DEPS_PREFIX is not set: run scripts/deps.sh and pass its prefix")
endif()

function(orv_import_lib name file)
  set(path "${ORV_DEPS_PREFIX}/lib/${file}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "${path} is missing: run scripts/deps.sh")
  endif()
  add_library(orv::${name} STATIC IMPORTED GLOBAL)
  set_target_properties(orv::${name} PROPERTIES IMPORTED_LOCATION "${path}")
  # SYSTEM: warnings in third-party headers are not ours to fix.
  target_include_directories(orv::${name} SYSTEM INTERFACE "${ORV_DEPS_PREFIX}/include")
endfunction()

orv_import_lib(sqlite3 libsqlite3.a)
orv_import_lib(tinyxml2 libtinyxml2.a)
orv_import_lib(jsoncpp libjsoncpp.a)
orv_import_lib(log4cpp liblog4cpp.a)
target_link_libraries(orv::log4cpp INTERFACE ws2_32)
orv_import_lib(curl libcurl.a)
target_compile_definitions(orv::curl INTERFACE CURL_STATICLIB)
target_link_libraries(orv::curl INTERFACE ws2_32 crypt32 bcrypt secur32 advapi32 wldap32 normaliz)
orv_import_lib(gtest libgtest.a)
orv_import_lib(gmock libgmock.a)
target_link_libraries(orv::gmock INTERFACE orv::gtest)

# The static zlib: the import library would make the programs need zlib1.dll.
find_library(ORV_ZLIB_STATIC NAMES libz.a REQUIRED)
find_path(ORV_ZLIB_INCLUDE zlib.h REQUIRED)
add_library(orv::zlib STATIC IMPORTED GLOBAL)
set_target_properties(orv::zlib PROPERTIES IMPORTED_LOCATION "${ORV_ZLIB_STATIC}")
target_include_directories(orv::zlib SYSTEM INTERFACE "${ORV_ZLIB_INCLUDE}")
