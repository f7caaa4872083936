#!/bin/sh
# The reference generator refuses a reference file that has lost a method's section or names a
# method that is not in the table, and says which: a copy of the sources with copyFile's section
# renamed must fail with both messages and write no output.
#   hostreference_check.sh GENERATOR SOURCE-FOLDER SCRATCH-FOLDER
set -eu
generator=$1 source=$2 scratch=$3
rm -rf "$scratch"
mkdir -p "$scratch/host" "$scratch/runner"
cp "$source"/host/*-reference.md "$scratch/host/"
cp "$source"/runner/*-reference.md "$scratch/runner/"
sed -i 's/^### copyFile$/### copyFiles/' "$scratch/host/qvsys-reference.md"
if "$generator" "$scratch" "$scratch/out.md" 2>"$scratch/errors"; then
    echo "the generator accepted a reference without a copyFile section"
    exit 1
fi
test ! -e "$scratch/out.md"
expected='brindle-hostreference: host/qvsys-reference.md has no section "### copyFile" for QVSys.copyFile
brindle-hostreference: host/qvsys-reference.md: section "### copyFiles" names no method of QVSys'
if [ "$(cat "$scratch/errors")" != "$expected" ]; then
    echo "unexpected messages:"
    cat "$scratch/errors"
    exit 1
fi
