file(REMOVE_RECURSE
  "libkestrel_core.a"
)
