#!/usr/bin/env bash
# The checks the project declares: formatting by .clang-format and clang-tidy by .clang-tidy, over the
# tracked sources and the default build's compile database (run ./test.sh first).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh clang-format clang-tidy

git ls-files -z 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'packaging/*.cpp' |
    xargs -0 clang-format --dry-run --Werror

# Every translation unit of the program, the tool and the tests; what the build writes (Qt's generated
# code, the icons' pixels) is not ours.
run-clang-tidy -p build -quiet "^(?!.*_autogen/)(?!$PWD/build/).*/(src|tests|bench|packaging)/.*\.cpp$"
