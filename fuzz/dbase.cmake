# The table engine's fuzz targets: the table with its index, the table alone, the index alone.
parblok_fuzz_target(fuzz_dbf ${CMAKE_CURRENT_LIST_DIR}/fuzz_dbf.cpp ${CMAKE_CURRENT_LIST_DIR}/corpus/dbf LIBS parblok_dbase)
parblok_fuzz_target(fuzz_dbf_noindex ${CMAKE_CURRENT_LIST_DIR}/fuzz_dbf_noindex.cpp ${CMAKE_CURRENT_LIST_DIR}/corpus/dbf LIBS parblok_dbase)
parblok_fuzz_target(fuzz_mdx ${CMAKE_CURRENT_LIST_DIR}/fuzz_mdx.cpp ${CMAKE_CURRENT_LIST_DIR}/corpus/mdx LIBS parblok_dbase)
