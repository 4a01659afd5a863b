# DIO on the simulated port: the cost of a relay switch and of one port access.
project_bench(dioctl bench_dioctl.cpp)
target_link_libraries(bench_dioctl PRIVATE dioauto portio_sim)
target_compile_definitions(bench_dioctl PRIVATE DIOCTL_SERVER_PATH="$<TARGET_FILE:dioctl>")
add_dependencies(bench_dioctl dioctl)
