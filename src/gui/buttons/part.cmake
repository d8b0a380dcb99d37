# The key-capture dialogs name keys through the platform layer; the runner of
# the sub-dialogs also runs the macro dialog.
target_link_libraries(corvaline_gui_buttons PUBLIC corvaline_platform corvaline_gui_macros)
