# Compile settings shared by every target of ours: one INTERFACE target that
# each library, executable and test links.
add_library(zavevad_settings INTERFACE)
target_compile_features(zavevad_settings INTERFACE cxx_std_20)
target_compile_definitions(zavevad_settings INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_KEYWORDS
    QT_USE_QSTRINGBUILDER)
target_compile_options(zavevad_settings INTERFACE
    -Wall -Wextra -Wpedantic -Werror -Wno-error=deprecated-declarations)

if(ZAVEVAD_SANITIZE)
    target_compile_options(zavevad_settings INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(zavevad_settings INTERFACE -fsanitize=address,undefined)
endif()
