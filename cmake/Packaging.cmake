# Install rules shared by the programs, and the packages CPack makes from them
# (scripts/package): the Debian package from the Linux build, the zip from the Windows build.
# Each program's install rule sits where the program is built.
include(GNUInstallDirs)

# The licence texts travel with the programs: our own notice (a file in packaging/), then the
# terms of each library whose code is compiled into them, read from its Debian package.
function(hw_write_copyright out notice)
  set(notice ${CMAKE_SOURCE_DIR}/packaging/${notice})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${notice})
  file(READ ${notice} text)
  foreach(package IN LISTS ARGN)
    set(terms /usr/share/doc/${package}/copyright)
    if(NOT EXISTS ${terms})
      message(FATAL_ERROR "The licence text of ${package} is missing: ${terms}")
    endif()
    file(READ ${terms} library_text)
    string(APPEND text "\n-------- ${package} --------\n\n${library_text}")
  endforeach()
  file(WRITE ${out} "${text}")
endfunction()

set(CPACK_PACKAGE_VENDOR "the HWConvert developers")
set(CPACK_PACKAGE_CONTACT "the HWConvert developers")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Carries a collector's data from the prior edition of the collectibles catalogue into\n"
       "its successor: users, collections, data-entry screens, report formats, choice lists,\n"
       "storage locations and contacts, with a log of every step.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # HWConvert-<version>-windows-x64.zip: one folder with the programs (installed at its top),
  # the guide for collectors and the licence texts, as Windows users read them.
  hw_write_copyright(${CMAKE_BINARY_DIR}/LICENSES.txt copyright-windows libfmt-dev libcli11-dev
                     nlohmann-json3-dev mingw-w64-x86-64-dev g++-mingw-w64-x86-64-posix)
  install(FILES ${CMAKE_BINARY_DIR}/LICENSES.txt DESTINATION .)
  install(FILES packaging/windows-guide.txt DESTINATION . RENAME README.txt)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME HWConvert-${PROJECT_VERSION}-windows-x64)
  include(CPack)
  return()
endif()

# Documents go to the folder named after the Debian package, where Debian looks for them.
set(HW_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/hwconvert)
hw_write_copyright(${CMAKE_BINARY_DIR}/copyright copyright libcli11-dev nlohmann-json3-dev)
install(FILES ${CMAKE_BINARY_DIR}/copyright README.md DESTINATION ${HW_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The dependencies are the Debian packages of the shared libraries the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET hwconvert)
  # Qt loads its platform plugin at run time, so no link names the package; without it the
  # window cannot open.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
endif()

include(CPack)
