# Parsers of outside input: resource files, the data folder's files, server answers, the command line.
set(fuzz_dir ${CMAKE_CURRENT_LIST_DIR})
radixel_add_fuzzer(fuzz_strings_table SOURCES ${fuzz_dir}/StringsTableFuzzer.cpp LIBS platform_foundation)
radixel_add_fuzzer(fuzz_property_list SOURCES ${fuzz_dir}/PropertyListFuzzer.cpp LIBS platform_foundation)
radixel_add_fuzzer(fuzz_defaults_file SOURCES ${fuzz_dir}/DefaultsFileFuzzer.cpp LIBS platform_foundation)
radixel_add_fuzzer(fuzz_remote_config_store SOURCES ${fuzz_dir}/RemoteConfigStoreFuzzer.cpp LIBS platform_didevero)
radixel_add_fuzzer(fuzz_remote_config_response SOURCES ${fuzz_dir}/RemoteConfigResponseFuzzer.cpp
                   LIBS platform_didevero)
# The record types and the history are compiled in directly: the application library would
# bring every screen into the fuzz build.
radixel_add_fuzzer(fuzz_json_records
  SOURCES ${fuzz_dir}/JSONRecordsFuzzer.cpp ${CMAKE_SOURCE_DIR}/Radixel/services/AppMetaData.cpp
          ${CMAKE_SOURCE_DIR}/Radixel/services/KeTuAdData.cpp ${CMAKE_SOURCE_DIR}/Radixel/services/OfferData.cpp
          ${CMAKE_SOURCE_DIR}/Radixel/services/UmpReferenceData.cpp
  LIBS radixel_math platform_foundation)
radixel_add_fuzzer(fuzz_history_records
  SOURCES ${fuzz_dir}/HistoryRecordsFuzzer.cpp ${CMAKE_SOURCE_DIR}/Radixel/services/Calculation.cpp
          ${CMAKE_SOURCE_DIR}/Radixel/services/CalcManager.cpp
  LIBS radixel_math platform_foundation)
radixel_add_fuzzer(fuzz_command_line
  SOURCES ${fuzz_dir}/CommandLineFuzzer.cpp ${CMAKE_SOURCE_DIR}/platform/render/HostOptions.cpp
  LIBS platform_foundation)
