#!/bin/sh
# Reads lines until "END", compares them with the file $1 and writes to the
# file $2 how they differ, or that they are the same, for the layout $3.
while IFS= read -r line && [ "$line" != END ]; do printf '%s\n' "$line"; done > "$2.typed"
{ diff "$1" "$2.typed" && echo "$3: $(wc -l < "$1") lines typed exactly"; } > "$2"
