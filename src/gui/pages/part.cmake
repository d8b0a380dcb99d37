# Recorded keys are named by the platform's key-name service.
target_link_libraries(corvaline_gui_${_part} PUBLIC corvaline_platform)
