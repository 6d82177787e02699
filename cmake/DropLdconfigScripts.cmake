# Run by CPack after it built the packages. CPack gives every package with a
# library in /usr/lib a postinst and postrm that call ldconfig; a package
# whose triggers file activates ldconfig has dpkg do that instead, so it is
# rebuilt without those two scripts.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  set(tree ${deb}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb -R ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  set(triggers)
  if(EXISTS ${tree}/DEBIAN/triggers)
    file(STRINGS ${tree}/DEBIAN/triggers triggers REGEX "^activate-noawait ldconfig$")
  endif()
  if(triggers)
    foreach(script IN ITEMS postinst postrm)
      set(file ${tree}/DEBIAN/${script})
      if(EXISTS ${file})
        file(READ ${file} text)
        # CPack's script and nothing else: a script of ours stays.
        if(text MATCHES "^#!/bin/sh\n\nset -e\n\nif \\[ \"\\$1\" = \"[a-z]+\" \\]; then\n\tldconfig\nfi\n$")
          file(REMOVE ${file})
        endif()
      endif()
    endforeach()
    execute_process(COMMAND dpkg-deb --root-owner-group -b ${tree} ${deb} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  endif()
  file(REMOVE_RECURSE ${tree})
endforeach()
