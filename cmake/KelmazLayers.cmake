# The layers of src/, lowest first. A file may include headers of its own folder and of the
# folders listed before it, never of one after it; tests/layers checks every #include against
# this one list, and each core folder's library links only the libraries before it.
#
#   core folders (plain C++, no Qt)   -> kelmaz_<folder>, all together as kelmaz_core
#   <subsystem>/ui folders (windows)  -> kelmaz_ui; browser/ui alone -> kelmaz_web (WebEngine)
#   app/cli (the command-line tool)   -> kelmaz-cli: the core, and the figure painting of
#                                        diagram/ui for its pictures (not in a core-only build)
#   app (the composition root)        -> kelmaz_app and the programs
set(KELMAZ_CORE_LAYERS base engine view records tree document intake library diagram net shell browser gtp)
set(KELMAZ_CLI_LAYER app/cli)
set(KELMAZ_UI_LAYERS view/ui records/ui tree/ui document/ui library/ui net/ui shell/ui gtp/ui diagram/ui browser/ui)
set(KELMAZ_APP_LAYER app)
set(KELMAZ_LAYERS ${KELMAZ_CORE_LAYERS} ${KELMAZ_UI_LAYERS} ${KELMAZ_CLI_LAYER} ${KELMAZ_APP_LAYER})

# Sorted list of the sources (and, for Qt targets, headers for moc) directly in one folder.
function(kelmaz_folder_sources out folder)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp
                                      ${ARGN})
    list(SORT found)
    set(${out} ${found} PARENT_SCOPE)
endfunction()
