#!/bin/sh
# Runs the link command given after the file with the source date: the
# linker stamps the PE header and the export table with SOURCE_DATE_EPOCH
# instead of the time of the build.
#   link-at-source-date.sh <file with seconds since 1970> <link command>...
SOURCE_DATE_EPOCH=$(cat "$1") || exit 1
export SOURCE_DATE_EPOCH
shift
exec "$@"
