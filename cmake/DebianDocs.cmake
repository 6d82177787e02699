# What Debian wants beside the programs: a manual page for each program in
# bin/, and a copyright file and changelog in each package's doc folder, all
# compressed with gzip -9n (no name or time stamp, so the same build gives
# the same bytes).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(debian_docs ${PROJECT_BINARY_DIR}/packaging/docs)
file(MAKE_DIRECTORY ${debian_docs})
set(man_programs gearconsole gearctl burnlet-flash)

# gearconsole has no --help: its page is written by hand.
configure_file(packaging/man/gearconsole.1 ${debian_docs}/gearconsole.1.in @ONLY)
add_custom_command(OUTPUT ${debian_docs}/gearconsole.1.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${debian_docs}/gearconsole.1.in ${debian_docs}/gearconsole.1
  COMMAND ${GZIP_PROGRAM} -9nf ${debian_docs}/gearconsole.1
  DEPENDS ${debian_docs}/gearconsole.1.in VERBATIM)

# The others' pages are their --help text.
function(help_man_page program summary)
  set(see_also ${man_programs})
  list(REMOVE_ITEM see_also ${program})
  add_custom_command(OUTPUT ${debian_docs}/${program}.1.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DNAME=${program} -DSUMMARY=${summary}
            -DVERSION=${PROJECT_VERSION} "-DSEE_ALSO=${see_also}" -DOUTPUT=${debian_docs}/${program}.1
            -P ${PROJECT_SOURCE_DIR}/cmake/HelpManPage.cmake
    DEPENDS ${program} ${PROJECT_SOURCE_DIR}/cmake/HelpManPage.cmake VERBATIM)
endfunction()
help_man_page(gearctl "calls one operation of the keyboard program from a shell")
help_man_page(burnlet-flash "programs a firmware image into a VORTAN keyboard's boot loader")

add_custom_command(OUTPUT ${debian_docs}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/debian/changelog ${debian_docs}/changelog
  COMMAND ${GZIP_PROGRAM} -9nf ${debian_docs}/changelog
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog VERBATIM)

list(TRANSFORM man_programs APPEND .1.gz OUTPUT_VARIABLE man_pages)
list(TRANSFORM man_pages PREPEND ${debian_docs}/)
add_custom_target(debian_docs ALL DEPENDS ${man_pages} ${debian_docs}/changelog.gz)

# The package's version is the changelog's latest entry.
file(STRINGS packaging/debian/changelog latest_entry LIMIT_COUNT 1)
if(NOT latest_entry MATCHES "^gearconsole \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog starts with \"${latest_entry}\", not version ${PROJECT_VERSION}")
endif()

install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programs)
foreach(component IN ITEMS programs libraries development)
  string(TOUPPER ${component} upper)
  install(FILES packaging/debian/copyright ${debian_docs}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME} COMPONENT ${component})
endforeach()
