# cmake -DFILE=... -DMORE_THAN=... -P check_size.cmake: fails unless FILE is larger.
file(SIZE "${FILE}" size)
if(NOT size GREATER MORE_THAN)
  message(FATAL_ERROR "${FILE} has ${size} bytes; it must have more than ${MORE_THAN}")
endif()
