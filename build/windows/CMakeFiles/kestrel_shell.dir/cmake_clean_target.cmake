file(REMOVE_RECURSE
  "libkestrel_shell.a"
)
