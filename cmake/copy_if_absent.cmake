# cmake -DSOURCE=... -DTARGET=... -P copy_if_absent.cmake
if(NOT EXISTS "${TARGET}")
  file(COPY_FILE "${SOURCE}" "${TARGET}")
endif()
