cmake_minimum_required(VERSION 3.25)
# Turns clang's layout dumps of the probe (<DUMP>) into ABI facts (<FOUND>)
# and compares them with the facts of <RELEASE> in <ABI_DIR>.
execute_process(COMMAND ${PYTHON} ${ABI_DIR}/abi_facts.py ${DUMP} ${RELEASE} OUTPUT_FILE ${FOUND}
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${PYTHON} ${COMPARE} ${ABI_DIR}/${RELEASE}.md ${FOUND} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "the stand-in's SDK differs from the binary interface of 3ds Max ${RELEASE}")
endif()
