# Find and replace, subs and labels, line references. Paths are relative to src/.
list(APPEND VORMELD_CORE_EXTRA
)
list(APPEND VORMELD_GUI_EXTRA
)
include(search/linerefs.cmake)
