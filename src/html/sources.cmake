# HTML export and tight programs. Paths are relative to src/.
list(APPEND VORMELD_CORE_EXTRA
)
list(APPEND VORMELD_GUI_EXTRA
)
