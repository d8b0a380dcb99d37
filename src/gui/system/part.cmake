# The pointer settings talk to the desktop through the platform layer.
target_link_libraries(corvaline_gui_${_part} PUBLIC corvaline_platform_pointer)
