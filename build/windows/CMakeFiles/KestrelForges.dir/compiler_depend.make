# Empty compiler generated dependencies file for KestrelForges.
# This may be replaced when dependencies are built.
