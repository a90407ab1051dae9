# Read by cpack for each generator (CPACK_PROJECT_CONFIG_FILE): which
# components it packs and where they go.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_BIDWARDEN_BINARY_DIR};Bidwarden;debian;/")
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
else()
    set(CPACK_INSTALL_CMAKE_PROJECTS
        "${CPACK_BIDWARDEN_BINARY_DIR};Bidwarden;program;/"
        "${CPACK_BIDWARDEN_BINARY_DIR};Bidwarden;archive;/")
    set(CPACK_PACKAGING_INSTALL_PREFIX "/bidwarden-${CPACK_PACKAGE_VERSION}")
endif()
