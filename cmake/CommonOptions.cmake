# One interface target carries the options every target of ours builds with; each
# target links it PRIVATE, so that nothing depends on another target to get them.
add_library(cribaxon_options INTERFACE)
target_compile_features(cribaxon_options INTERFACE cxx_std_20)
target_compile_options(cribaxon_options INTERFACE
    -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor -Werror)
target_compile_definitions(cribaxon_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_KEYWORDS)

# The hardening of the programs Debian ships comes from dpkg-buildflags (debian/rules).
if(CRIBAXON_SANITIZE)
    set(_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_compile_options(cribaxon_options INTERFACE ${_sanitizers})
    target_link_options(cribaxon_options INTERFACE ${_sanitizers})
endif()
