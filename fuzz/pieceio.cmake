project_fuzz(pieceio fuzz_pieceio.cpp)
target_link_libraries(fuzz_pieceio PRIVATE pieceio_core grade)
