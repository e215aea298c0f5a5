# The interface's translations: lrelease turns each resources/translations/brelvik_<lang>.ts into a
# .qm, and the .qm files are built into the window layer under :/translations, so that there is no
# installed path to get wrong. tools/update-translations.sh refreshes the .ts files from the sources.
find_program(BRELVIK_LRELEASE lrelease HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" /usr/lib/qt6/bin REQUIRED)
set(translation_dir ${CMAKE_BINARY_DIR}/translations)
file(GLOB translation_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/translations/brelvik_*.ts)
set(translation_files)
set(translation_entries)
foreach(ts ${translation_sources})
  get_filename_component(name ${ts} NAME_WE)
  add_custom_command(OUTPUT ${translation_dir}/${name}.qm
    COMMAND ${BRELVIK_LRELEASE} -silent ${ts} -qm ${translation_dir}/${name}.qm
    DEPENDS ${ts} VERBATIM)
  list(APPEND translation_files ${translation_dir}/${name}.qm)
  string(APPEND translation_entries "    <file>${name}.qm</file>\n")
endforeach()
file(CONFIGURE OUTPUT ${translation_dir}/translations.qrc
  CONTENT "<RCC>\n  <qresource prefix=\"/translations\">\n${translation_entries}  </qresource>\n</RCC>\n")
# rcc by hand: the resource depends on files made at build time, which AUTORCC would not wait for.
add_custom_command(OUTPUT ${translation_dir}/qrc_translations.cpp
  COMMAND Qt6::rcc --name translations --output ${translation_dir}/qrc_translations.cpp
          ${translation_dir}/translations.qrc
  DEPENDS ${translation_files} ${translation_dir}/translations.qrc VERBATIM)
target_sources(brelvik_ui PRIVATE ${translation_dir}/qrc_translations.cpp)
set_source_files_properties(${translation_dir}/qrc_translations.cpp PROPERTIES SKIP_AUTOMOC ON SKIP_AUTOUIC ON)
