# Source files are gathered by folder so that a new file needs no edit here:
#   src/<subsystem>/*.cpp      -> kelmaz_core (plain C++, no Qt)
#   src/<subsystem>/ui/*.cpp   -> kelmaz_ui   (Qt Widgets windows)
#   src/browser/ui/*.cpp       -> kelmaz_web  (the only target that links Qt WebEngine)
function(kelmaz_glob out pattern)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${pattern})
    list(SORT found)
    set(${out} ${found} PARENT_SCOPE)
endfunction()
