# Empty compiler generated dependencies file for kestrel_core.
# This may be replaced when dependencies are built.
