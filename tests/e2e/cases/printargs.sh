# Prints each argument in brackets, one per line (used by the end-to-end cases).
for arg in "$@"; do echo "[$arg]"; done
