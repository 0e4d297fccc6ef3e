#!/bin/sh
# Reads one line and writes it, with a prefix, to the file named by $1.
read line && printf "got %s\n" "$line" > "$1"
