# One static library per subsystem folder. Sources are picked up from the folder itself
# (logic) and from its ui/ sub-folder (windows), so adding a file needs no list edits.

function(zx_logic_library name)
  cmake_parse_arguments(ARG "" "" "QT;DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT _src)
    set(_src ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  foreach(q IN LISTS ARG_QT)
    target_link_libraries(${name} PUBLIC Qt6::${q})
  endforeach()
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  # A library with Qt Gui shares the precompiled headers; the simulator (Core only) does not.
  # The formats (docformat, workbook and what stands only on them) have no serial port.
  set(_kind logic)
  set(_other ${ARG_DEPS})
  list(REMOVE_ITEM _other zx_docformat zx_workbook)
  if(NOT SerialPort IN_LIST ARG_QT AND NOT _other)
    set(_kind format)
  endif()
  if(Gui IN_LIST ARG_QT OR ARG_DEPS)
    zx_use_pch(${name} ${_kind})
  endif()
  zx_use_unity(${name})
endfunction()

function(zx_ui_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h)
  if(NOT _src)
    set(_src ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC Qt6::Widgets Qt6::PrintSupport ${ARG_DEPS})
  zx_use_pch(${name} ui)
endfunction()

# Every tests/<label>/tst_*.cpp becomes one Qt Test executable, labelled by its folder.
# SHARDS name=n runs that program as n tests side by side (tests/support/test_shard.h):
# tst_x_0 to tst_x_<n-1>.
function(zx_add_tests_in label)
  cmake_parse_arguments(ARG "" "" "LIBS;PCH;SHARDS" ${ARGN})
  file(GLOB _tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${label}/tst_*.cpp)
  set(_env "QT_QPA_PLATFORM=offscreen;ZX_SOURCE_DIR=${PROJECT_SOURCE_DIR};ZX_BINARY_DIR=${PROJECT_BINARY_DIR}")
  foreach(src IN LISTS _tests)
    get_filename_component(_name ${src} NAME_WE)
    add_executable(${_name} ${src})
    target_link_libraries(${_name} PRIVATE zx_testsupport Qt6::Test ${ARG_LIBS})
    target_compile_options(${_name} PRIVATE ${ZX_TEST_OPTIONS})
    zx_use_pch(${_name} ${ARG_PCH})
    # A test's moc output is included by its .cpp: the generated file left over is empty and
    # would only spend a second loading the precompiled header.
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${_name}_autogen/mocs_compilation.cpp
      PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    set(_shards 0)
    foreach(_s IN LISTS ARG_SHARDS)
      if(_s MATCHES "^${_name}=([0-9]+)$")
        set(_shards ${CMAKE_MATCH_1})
      endif()
    endforeach()
    if(_shards GREATER 0)
      math(EXPR _last "${_shards} - 1")
      foreach(_k RANGE ${_last})
        add_test(NAME ${_name}_${_k} COMMAND ${_name})
        # A table split for speed is slow by nature: minutes, not seconds.
        set_tests_properties(${_name}_${_k} PROPERTIES LABELS ${label} TIMEOUT 300 COST 30
          ENVIRONMENT "${_env};ZX_TEST_SHARD=${_k}/${_shards}")
      endforeach()
      continue()
    endif()
    add_test(NAME ${_name} COMMAND ${_name})
    # A test that runs in seconds gets a limit of seconds, so a hang shows at once; the slow
    # ones get theirs in tests/CMakeLists.txt.
    set_tests_properties(${_name} PROPERTIES LABELS ${label} TIMEOUT 30 ENVIRONMENT "${_env}")
  endforeach()
endfunction()
