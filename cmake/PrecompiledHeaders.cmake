# Precompiled headers: the Qt, standard and GoogleTest headers nearly every file includes are parsed
# once per build instead of once per file. Three sets, each made once and used by every target of its
# kind: the libraries on Qt's core and GUI modules, those on its widgets, and the test programs.
# GCC only (the fuzzing build, with clang, compiles every file on its own headers and so also shows
# a file that forgot one of its includes).
option(PLUMERIC_PCH "Precompile the common headers (GCC)" ON)
set(PLUMERIC_USE_PCH OFF)
if(PLUMERIC_PCH AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT PLUMERIC_FUZZ)
    set(PLUMERIC_USE_PCH ON)
endif()

set(PLUMERIC_PCH_GUI_HEADERS
    <algorithm> <cstdint> <functional> <memory> <optional> <string> <vector>
    <QByteArray> <QColor> <QDir> <QFile> <QFileInfo> <QImage> <QList> <QPainter> <QRegion> <QSize>
    <QString> <QStringList>)
set(PLUMERIC_PCH_WIDGETS_HEADERS
    ${PLUMERIC_PCH_GUI_HEADERS}
    <QApplication> <QCheckBox> <QComboBox> <QGridLayout> <QGroupBox> <QHBoxLayout> <QLabel> <QLineEdit>
    <QPushButton> <QTimer> <QVBoxLayout> <QWidget>)

if(PLUMERIC_USE_PCH)
    # A precompiled header made with other options than a file's is refused, and the build says so.
    add_compile_options(-Winvalid-pch)
    set(PLUMERIC_PCH_SOURCE ${CMAKE_CURRENT_LIST_DIR}/PrecompiledHeaders.cpp)
    add_library(plumeric_pch_gui STATIC ${PLUMERIC_PCH_SOURCE})
    target_link_libraries(plumeric_pch_gui PRIVATE Qt6::Core Qt6::Gui)
    target_precompile_headers(plumeric_pch_gui PRIVATE ${PLUMERIC_PCH_GUI_HEADERS})
    add_library(plumeric_pch_widgets STATIC ${PLUMERIC_PCH_SOURCE})
    target_link_libraries(plumeric_pch_widgets PRIVATE Qt6::Core Qt6::Gui Qt6::Widgets)
    target_precompile_headers(plumeric_pch_widgets PRIVATE ${PLUMERIC_PCH_WIDGETS_HEADERS})
    set_target_properties(plumeric_pch_gui plumeric_pch_widgets PROPERTIES AUTOMOC OFF)
endif()

# A library uses the set of its kind: WIDGETS when it links Qt's widgets module, GUI otherwise.
function(plumeric_precompile target kind)
    if(PLUMERIC_USE_PCH)
        string(TOLOWER ${kind} kind)
        target_precompile_headers(${target} REUSE_FROM plumeric_pch_${kind})
    endif()
endfunction()
