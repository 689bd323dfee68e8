#!/usr/bin/env bash
# Business logic includes no widget header: framework/core, schema and the files
# listed in engine_files.txt. Prints the offending lines and fails when there are any.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
files=$(ls "$root"/framework/core/*.h "$root"/framework/core/*.cpp "$root"/schema/*.h "$root"/schema/*.cpp 2>/dev/null)
while read -r f; do
  f=${f%%#*}; f=$(echo "$f" | xargs)
  [ -z "$f" ] && continue
  [ -e "$root/$f" ] || { echo "listed but missing: $f"; exit 1; }
  files="$files $root/$f"
done < "$root/tests/layering/engine_files.txt"
bad=$(grep -n -E '#include *<(QtWidgets/|QWidget|QDialog|QMainWindow|QApplication|QLineEdit|QComboBox|QLabel|QPushButton|QTableView|QMessageBox)' $files)
if [ -n "$bad" ]; then
  echo "widget headers in business logic:"; echo "$bad"; exit 1
fi
echo "layering: 1 passed, 0 failed"
