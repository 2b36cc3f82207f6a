#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a fuzz target for a few seconds from its starting corpus:
#   run-fuzz-target.sh <target> <corpus folder> <work folder> <seconds> [libFuzzer options]
# What it finds new goes into <work folder>/corpus, emptied first so that every
# run takes the same time; the starting corpus is only read. An input that breaks a
# check lands in <work folder>/crashes/.
set -eu
target=$1 corpus=$2 work=$3 seconds=$4
shift 4
rm -rf "$work/corpus"
mkdir -p "$work/corpus" "$work/crashes"
exec "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/crashes/" \
    "$@" "$work/corpus" "$corpus"
