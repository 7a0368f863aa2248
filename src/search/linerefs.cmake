# Line references and the line browser. Paths are relative to src/.
list(APPEND VORMELD_CORE_EXTRA
)
list(APPEND VORMELD_GUI_EXTRA
)
