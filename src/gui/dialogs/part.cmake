# The key-capture dialogs name keys through the platform layer.
target_link_libraries(corvaline_gui_dialogs PUBLIC corvaline_platform)
