# Read by cpack as it runs. Every file in the package gets the time of the commit it is
# built from, as the reproducible-builds convention asks, unless SOURCE_DATE_EPOCH is set
# already. A source tree without its history takes the date of the changelog's last entry.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C "${CPACK_VANTREL_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT epoch MATCHES "^[0-9]+$")
    file(STRINGS "${CPACK_VANTREL_SOURCE_DIR}/packaging/changelog" signed REGEX "^ -- "
         LIMIT_COUNT 1)
    string(REGEX REPLACE ".*>  " "" date "${signed}")
    execute_process(COMMAND date -d "${date}" +%s OUTPUT_VARIABLE epoch
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
endif()
