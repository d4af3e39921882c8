# Empty dependencies file for kestrel_shell.
# This may be replaced when dependencies are built.
