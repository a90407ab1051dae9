# The spelling dictionaries of the pages' text boxes, in the engine's own
# format, made while building from the system's Hunspell dictionaries with
# the engine's converter (Debian: qt6-webengine-dev-tools, hunspell-en-us).
# The engine reads them from "qtwebengine_dictionaries" beside the program,
# in the build's bin/ as in the installed program folder; where the
# converter or a dictionary is missing the program is built without it, and
# its pages are not spell-checked in that language.
set(BIDWARDEN_SPELLING_LANGUAGES en_US CACHE STRING
    "Hunspell dictionaries (/usr/share/hunspell/NAME.dic) the program ships, as a list")
find_program(BIDWARDEN_CONVERT_DICT qwebengine_convert_dict
    PATHS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS} /usr/lib/qt6/libexec
    DOC "The engine's converter of Hunspell dictionaries")
set(dictionary_dir ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/qtwebengine_dictionaries)
set(dictionaries "")
if(NOT BIDWARDEN_CONVERT_DICT)
    message(STATUS "Spelling: no qwebengine_convert_dict (qt6-webengine-dev-tools); building without dictionaries")
else()
    foreach(language ${BIDWARDEN_SPELLING_LANGUAGES})
        set(hunspell /usr/share/hunspell/${language})
        # The engine names a dictionary as the language it checks: en-US.
        string(REPLACE "_" "-" name ${language})
        if(NOT EXISTS ${hunspell}.dic OR NOT EXISTS ${hunspell}.aff)
            message(STATUS "Spelling: no ${hunspell}.dic and .aff; building without ${name}")
            continue()
        endif()
        add_custom_command(OUTPUT ${dictionary_dir}/${name}.bdic
            COMMAND ${CMAKE_COMMAND} -E make_directory ${dictionary_dir}
            COMMAND ${BIDWARDEN_CONVERT_DICT} ${hunspell}.dic ${dictionary_dir}/${name}.bdic
            DEPENDS ${hunspell}.dic ${hunspell}.aff
            COMMENT "Converting the ${name} spelling dictionary"
            VERBATIM)
        list(APPEND dictionaries ${dictionary_dir}/${name}.bdic)
        message(STATUS "Spelling: ${name} from ${hunspell}.dic")
    endforeach()
endif()
if(dictionaries)
    add_custom_target(bidwarden_dictionaries ALL DEPENDS ${dictionaries})
    # Built with the program, so that a build of the program alone (as
    # scripts/release makes) has them to install.
    add_dependencies(bidwarden bidwarden_dictionaries)
    install(FILES ${dictionaries} DESTINATION qtwebengine_dictionaries COMPONENT program)
    install(FILES ${dictionaries} DESTINATION lib/bidwarden/qtwebengine_dictionaries
            COMPONENT debian EXCLUDE_FROM_ALL)
endif()
