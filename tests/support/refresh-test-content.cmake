# Replaces TO with the small content library as the generator makes it: the tests' own, which
# no user ever saves into (build/content is the user's, and may hold their saves).
#   cmake -DGENERATOR=<content-gen> -DTO=<build>/test-content -P refresh-test-content.cmake
file(REMOVE_RECURSE "${TO}")
execute_process(COMMAND "${GENERATOR}" --size small --out "${TO}" RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} could not write ${TO} (${status})")
endif()
