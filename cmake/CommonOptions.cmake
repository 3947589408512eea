# One interface target carries the options every target of ours builds with; each
# target links it PRIVATE, so that nothing depends on another target to get them.
add_library(cribaxon_options INTERFACE)
target_compile_features(cribaxon_options INTERFACE cxx_std_20)
target_compile_options(cribaxon_options INTERFACE
    -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor -Werror)
target_compile_definitions(cribaxon_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_KEYWORDS)

# Debian expects the programs it ships hardened. _FORTIFY_SOURCE stays out of
# the sanitizer build: the checked calls it substitutes escape the sanitizers.
if(CRIBAXON_SANITIZE)
    set(_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_compile_options(cribaxon_options INTERFACE ${_sanitizers})
    target_link_options(cribaxon_options INTERFACE ${_sanitizers})
else()
    target_compile_options(cribaxon_options INTERFACE $<$<CONFIG:Release,RelWithDebInfo>:-D_FORTIFY_SOURCE=2>)
endif()
target_link_options(cribaxon_options INTERFACE -Wl,-z,relro,-z,now)
