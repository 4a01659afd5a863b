# The registry file and the values read from it (class identifiers), and
# texts that clients pass where numbers are expected.
project_fuzz(dioctl_registry fuzz_dioctl_registry.cpp)
target_link_libraries(fuzz_dioctl_registry PRIVATE dioauto)
