# libjpeg for the Windows build: Debian's own libjpeg-turbo source package, fetched once per build folder from the
# archives of the machine's apt sources (debian-source.sh), built for MinGW-w64 as a static library with its SIMD
# code (nasm). CRIBAXON_LIBJPEG_SOURCE names an unpacked source tree to use instead.
include(ExternalProject)
set(_jpeg ${CMAKE_BINARY_DIR}/libjpeg-turbo)
set(CRIBAXON_LIBJPEG_SOURCE ${_jpeg}/source CACHE PATH "libjpeg-turbo's unpacked sources (Debian's source package)")
if(NOT EXISTS ${CRIBAXON_LIBJPEG_SOURCE}/CMakeLists.txt)
    file(MAKE_DIRECTORY ${_jpeg}/download)
    message(STATUS "Fetching Debian's libjpeg-turbo source package")
    execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/debian-source.sh libjpeg-turbo
                    WORKING_DIRECTORY ${_jpeg}/download RESULT_VARIABLE _fetched OUTPUT_QUIET)
    file(GLOB _dsc ${_jpeg}/download/libjpeg-turbo_*.dsc)
    if(NOT _fetched EQUAL 0 OR NOT _dsc)
        message(FATAL_ERROR "apt-get source libjpeg-turbo failed (apt's sources and the network?); "
                            "CRIBAXON_LIBJPEG_SOURCE may name an unpacked source tree instead")
    endif()
    execute_process(COMMAND dpkg-source -x ${_dsc} ${CRIBAXON_LIBJPEG_SOURCE} WORKING_DIRECTORY ${_jpeg}/download
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
# The tool chain file as CMake found it: a relative name is the build folder's, else the source folder's.
get_filename_component(_toolchain ${CMAKE_TOOLCHAIN_FILE} ABSOLUTE BASE_DIR ${CMAKE_BINARY_DIR})
if(NOT EXISTS ${_toolchain})
    get_filename_component(_toolchain ${CMAKE_TOOLCHAIN_FILE} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
endif()
ExternalProject_Add(libjpeg_turbo
    SOURCE_DIR ${CRIBAXON_LIBJPEG_SOURCE}
    BINARY_DIR ${_jpeg}/build
    INSTALL_DIR ${_jpeg}/install
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${_toolchain} -DCMAKE_BUILD_TYPE=Release
               -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR> -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF
               -DREQUIRE_SIMD=ON
    # A build inside the build would otherwise start jobs of its own beyond the machine's two cores.
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> -j 2
    BUILD_BYPRODUCTS <INSTALL_DIR>/lib/libjpeg.a
    USES_TERMINAL_BUILD ON)
file(MAKE_DIRECTORY ${_jpeg}/install/include)
add_library(cribaxon_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(cribaxon_jpeg PROPERTIES IMPORTED_LOCATION ${_jpeg}/install/lib/libjpeg.a
                                               INTERFACE_INCLUDE_DIRECTORIES ${_jpeg}/install/include)
add_dependencies(cribaxon_jpeg libjpeg_turbo)
