# The dio command on the simulator: register, switch, read, unregister.
file(REMOVE ${REGISTRY})
set(ENV{DIOCTL_REGISTRY} ${REGISTRY})

function(run expected)
  execute_process(COMMAND ${DIO} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT "${out}${err}" MATCHES "${expected}")
    message(FATAL_ERROR "dio ${ARGN}: expected '${expected}', got rc=${rc}\n${out}${err}")
  endif()
  set(last_rc ${rc} PARENT_SCOPE)
endfunction()

run("registered dioctl.DIO" register)
run("relay 3 on: 0 ok\nbutton 3: 8 pressed\nbutton 4: 0 released\nread 0x44: 8 = 0x08\n"
    --sim --press 3 relay 3 on button 3 button 4 read 0x44)
if(NOT last_rc EQUAL 0)
  message(FATAL_ERROR "dio failed with ${last_rc}")
endif()
run("  S 41 A FF - P\n  S 40 A FE A P\n" --sim --trace relay 0 off)
run("relay 9 on: -2 no acknowledge\nbutton 12: -4 no answer\nbit 66 1 set: error 6 \\(Overflow\\)"
    --sim --remove 66 --remove 70 relay 9 on button 12 bit 66 1 set)
if(last_rc EQUAL 0)
  message(FATAL_ERROR "failures reported as success")
endif()
run("unregistered dioctl.DIO" unregister)
run("dioctl.DIO is not registered" --sim button 1)
file(REMOVE ${REGISTRY})
