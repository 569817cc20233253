# Our own code builds clean at -Wall -Wextra; dependencies keep their own flags.
function(tessaly_warnings target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra>)
endfunction()
