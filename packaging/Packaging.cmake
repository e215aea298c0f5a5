# Desktop integration and the Debian package (`make package`, built by CPack into the build
# folder). The manual pages and bash completions are made from the programs' own --help, and the
# icons from the program's artwork, so none of them is kept by hand.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(help_docs ${CMAKE_SOURCE_DIR}/tools/help_docs.py)
set(generated_docs)

# help_docs(KIND PROGRAM TEMPLATE OUTPUT): OUTPUT made from PROGRAM --help and TEMPLATE.
function(brelvik_help_doc kind program template output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${Python3_EXECUTABLE} ${help_docs} ${kind} $<TARGET_FILE:${program}> ${template} ${output}
    DEPENDS ${program} ${template} ${help_docs}
    COMMENT "Making ${output} from ${program} --help" VERBATIM)
  set(generated_docs ${generated_docs} ${output} PARENT_SCOPE)
endfunction()

file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man ${CMAKE_BINARY_DIR}/completions)
foreach(program brelvik brelvik-cli)
  brelvik_help_doc(man ${program} ${packaging}/${program}.1.in ${CMAKE_BINARY_DIR}/man/${program}.1.gz)
  brelvik_help_doc(completion ${program} ${packaging}/${program}.bash.in ${CMAKE_BINARY_DIR}/completions/${program})
endforeach()

set(icon_sizes 16 32 48 64 128 256)
set(icons)
foreach(size ${icon_sizes})
  list(APPEND icons ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/brelvik.png)
endforeach()
add_custom_command(OUTPUT ${icons}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/make_desktop_icons.py ${CMAKE_BINARY_DIR}/icons
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_desktop_icons.py ${CMAKE_SOURCE_DIR}/tools/make_ui_resources.py
  COMMENT "Drawing the desktop icons" VERBATIM)

set(changelog ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND ${Python3_EXECUTABLE} -c
    "import gzip, sys; open(sys.argv[2], 'wb').write(gzip.compress(open(sys.argv[1], 'rb').read(), 9, mtime=0))"
    ${packaging}/changelog ${changelog}
  DEPENDS ${packaging}/changelog VERBATIM)

# The desktop entry and the metainfo offer the program for every kind in the table of picture kinds.
set(kind_files)
foreach(name org.brelvik.Brelvik.desktop org.brelvik.Brelvik.metainfo.xml)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${name}
    COMMAND picture_kinds fill ${packaging}/${name}.in ${CMAKE_BINARY_DIR}/${name}
    DEPENDS picture_kinds ${packaging}/${name}.in
    COMMENT "Making ${name} from the table of picture kinds" VERBATIM)
  list(APPEND kind_files ${CMAKE_BINARY_DIR}/${name})
endforeach()

add_custom_target(brelvik_desktop_files ALL DEPENDS ${generated_docs} ${icons} ${changelog} ${kind_files})

install(FILES ${CMAKE_BINARY_DIR}/org.brelvik.Brelvik.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/org.brelvik.Brelvik.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION share/icons/hicolor)
install(FILES ${CMAKE_BINARY_DIR}/man/brelvik.1.gz ${CMAKE_BINARY_DIR}/man/brelvik-cli.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_BINARY_DIR}/completions/brelvik ${CMAKE_BINARY_DIR}/completions/brelvik-cli
        DESTINATION share/bash-completion/completions)
install(FILES ${packaging}/copyright ${changelog} DESTINATION share/doc/brelvik)

# The package target builds everything first anyway; without this, cpack on its own (as the package
# test runs it after the build) would first walk every target of the build, tests included, which
# takes longer than making the package.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brelvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Brelvik developers <brelvik@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "picture utility: convert pictures to JPEG, PNG, WebP or icons, and edit them")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "A small desktop picture utility, in Russian or English as the locale says."
  "It opens a BMP, PNG, JPEG, WebP, TIFF or GIF file, shows it and edits it"
  "(inverts the colours, lightens or darkens it, rotates it by 90 or 180"
  "degrees, writes a line of text on it), lists the facts in a BMP file's"
  "headers, and saves the picture as a JPEG file at a chosen quality or as an"
  "icon."
  ""
  "brelvik-cli does the same conversions and edits from the command line.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The libraries come from what the binaries link (dpkg-shlibdeps); the fonts are the faces the
# windows ask for, and xdg-open is what a double click on a picture hands the file to. Qt's own
# translations make its dialogs speak the windows' language, and its Wayland plugin lets the
# program run natively there (without it, through XWayland, blurred under fractional scaling).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland, qt6-translations-l10n")
include(CPack)
