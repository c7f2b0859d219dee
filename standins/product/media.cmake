# corvan_demo_media(): component folders and media, once every folder has filled the
# BDE32 and upgrade slots.
# dir: this source folder; generated: where make_payload.py writes.
function(corvan_demo_media dir generated)
  set(components ${CMAKE_BINARY_DIR}/components)
  set(upgrade ${CMAKE_BINARY_DIR}/components-upgrade)
  get_property(bde32_files GLOBAL PROPERTY CORVAN_BDE32_FILES)
  get_property(upgrade_files GLOBAL PROPERTY CORVAN_UPGRADE_FILES)
  if(NOT upgrade_files)
    message(FATAL_ERROR "No files for the upgrade package: append them to the global property CORVAN_UPGRADE_FILES")
  endif()

  set(copy ${CMAKE_COMMAND} -E copy)
  set(commands
    COMMAND ${CMAKE_COMMAND} -E remove_directory ${components} ${upgrade}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${components}/EXE/VerInfo/3200876.02 ${components}/OUTPOST
            ${components}/HELP/Help ${components}/PAYDESK ${upgrade}
    COMMAND ${copy} $<TARGET_FILE:corvan_exe> $<TARGET_FILE:tendrix_exe> $<TARGET_FILE:tregsvr_exe>
            $<TARGET_FILE:cfx32_ocx> ${components}/EXE/
    COMMAND ${copy} ${dir}/payload/VerInfo/3200876.02/Instruct.htm ${dir}/payload/VerInfo/3200876.02/Intrebari.htm
            ${generated}/EXE/VerInfo/3200876.02/copiere.png ${generated}/EXE/VerInfo/3200876.02/note.png
            ${generated}/EXE/VerInfo/3200876.02/sigla.png ${generated}/EXE/VerInfo/3200876.02/atentie.bmp
            ${components}/EXE/VerInfo/3200876.02/
    COMMAND ${copy} $<TARGET_FILE:outpost_exe> ${components}/OUTPOST/
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${generated}/DBDAT ${components}/DBDAT
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${generated}/DBNEW ${components}/DBNEW
    COMMAND ${copy} $<TARGET_FILE:hhupd_exe> ${components}/HELP/
    COMMAND ${copy} ${dir}/payload/Help/Corvan.htm ${components}/HELP/Help/
    COMMAND ${copy} $<TARGET_FILE:paydesk_exe> ${components}/PAYDESK/
    COMMAND ${copy} ${upgrade_files} ${upgrade}/)
  if(bde32_files)
    list(APPEND commands
      COMMAND ${CMAKE_COMMAND} -E make_directory ${components}/BDE32
      COMMAND ${copy} ${bde32_files} ${components}/BDE32/)
  else()
    message(WARNING "No engine files (CORVAN_BDE32_FILES): the media carries no BDE32 component")
  endif()

  set(stamp ${CMAKE_BINARY_DIR}/components.stamp)
  add_custom_command(OUTPUT ${stamp}
    ${commands}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS corvan_exe tendrix_exe tregsvr_exe cfx32_ocx outpost_exe hhupd_exe paydesk_exe
            ${dir}/payload/VerInfo/3200876.02/Instruct.htm ${dir}/payload/VerInfo/3200876.02/Intrebari.htm
            ${generated}/EXE/VerInfo/3200876.02/sigla.png ${dir}/payload/Help/Corvan.htm
            ${generated}/tables.bin ${upgrade_files} ${bde32_files}
    COMMENT "Component folders in ${components}")
  add_custom_target(product_components DEPENDS ${stamp})

  set(media ${CMAKE_BINARY_DIR}/media)
  set(builder ${CMAKE_BINARY_DIR}/host/mediabuilder/mediabuilder)
  set(builder_args --components ${components} --setup $<TARGET_FILE:install_exe> --upgrade ${upgrade})
  add_custom_command(OUTPUT ${media}/media.stamp
    COMMAND ${builder} ${builder_args} --out ${media}/cd
    COMMAND ${builder} ${builder_args} --out ${media}/floppy --floppy
    COMMAND ${CMAKE_COMMAND} -E touch ${media}/media.stamp
    DEPENDS ${stamp} install_exe mediabuilder_host ${builder}
    COMMENT "Installation media: ${media}/cd and the floppy set ${media}/floppy/DISK1..n")
  # Part of every build: the media follow the setup and the payload.
  add_custom_target(demo_media ALL DEPENDS ${media}/media.stamp)
endfunction()
