# A fresh build on a small machine: the Qt headers every file includes are compiled once per
# kind of target (precompiled, then reused by the others of that kind), and the logic libraries
# are built in unity batches. Both on by default; -DZX_PCH=OFF / -DZX_UNITY=OFF build file by file.
option(ZX_PCH "Precompile the common Qt headers" ON)
option(ZX_UNITY "Build the logic libraries in unity batches" ON)

# ccache keeps its hits with precompiled headers when told to ignore their time stamps.
if(ZX_CCACHE AND ZX_PCH)
  set(_ccache env CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime ${ZX_CCACHE})
  set(CMAKE_C_COMPILER_LAUNCHER ${_ccache})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${_ccache})
endif()

set(ZX_PCH_logic <QByteArray> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject>
    <QPointer> <QRegularExpression> <QString> <QStringList> <QTextCursor> <QTextDocument> <QTimer>
    <QVariant> <algorithm> <functional> <memory> <optional> <vector>)
set(ZX_PCH_ui ${ZX_PCH_logic} <QAction> <QApplication> <QCheckBox> <QDialog> <QHBoxLayout>
    <QLabel> <QLineEdit> <QMenu> <QPushButton> <QTextEdit> <QVBoxLayout> <QWidget>)
set(ZX_PCH_unit ${ZX_PCH_logic} <QtTest> <QSignalSpy> <QTemporaryDir>)
set(ZX_PCH_gui ${ZX_PCH_ui} <QtTest> <QSignalSpy> <QTemporaryDir>)

set(ZX_PCH_format ${ZX_PCH_logic})
set(ZX_PCH_QT_format Core Gui)
set(ZX_PCH_QT_logic Core Gui SerialPort)
set(ZX_PCH_QT_ui Core Gui SerialPort Widgets PrintSupport)
set(ZX_PCH_QT_unit Core Gui SerialPort Test)
set(ZX_PCH_QT_gui Core Gui SerialPort Widgets PrintSupport Test)

# Test code is compiled without optimisation (a quarter less compile time for each test); the
# product code it tests keeps the build's flags.
set(ZX_TEST_OPTIONS -O0)

# Each kind's header is compiled once in a host of its own that has only the Qt modules every
# target of the kind has: the compiler refuses a precompiled header made with a macro the target
# lacks (a library's private definition, another Qt module). The host is made in the folder of
# the first target of its kind, as Qt Test's definitions name the folder.
function(zx_use_pch target kind)
  if(NOT ZX_PCH)
    return()
  endif()
  set(_host zx_pch_${kind})
  if(NOT TARGET ${_host})
    add_library(${_host} OBJECT ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
    set_target_properties(${_host} PROPERTIES AUTOMOC OFF)
    foreach(q IN LISTS ZX_PCH_QT_${kind})
      target_link_libraries(${_host} PRIVATE Qt6::${q})
    endforeach()
    target_precompile_headers(${_host} PRIVATE ${ZX_PCH_${kind}})
    if(kind STREQUAL "unit" OR kind STREQUAL "gui")
      target_compile_options(${_host} PRIVATE ${ZX_TEST_OPTIONS})
    endif()
  endif()
  target_precompile_headers(${target} REUSE_FROM ${_host})
endfunction()

function(zx_use_unity target)
  if(ZX_UNITY)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 16)
  endif()
endfunction()
