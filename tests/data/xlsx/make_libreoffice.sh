#!/usr/bin/env bash
# Writes the LibreOffice fixtures: libreoffice.fods (kept beside them) converted to .xlsx by
# LibreOffice headless, once with the 1899-12-30 null date (the 1900 date system) and once with
# 1904-01-01 (the 1904 date system). Run in this folder.
set -euo pipefail
out=$(mktemp -d)
for system in 1900:1899-12-30 1904:1904-01-01; do
  name=libreoffice-${system%%:*}
  sed "s/@NULLDATE@/${system#*:}/" libreoffice.fods > "$out/$name.fods"
  soffice --headless -env:UserInstallation=file://$out/profile --convert-to xlsx --outdir "$out" "$out/$name.fods" >/dev/null
  cp "$out/$name.xlsx" .
done
rm -rf "$out"
