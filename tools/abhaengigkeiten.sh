#!/usr/bin/env bash
# Installs what building and testing Tarvello needs (Debian, as root).
set -euo pipefail
# gdal-bin: the GIS client the GeoJSON and world-file test reads them with.
pakete=(g++ cmake make qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev zlib1g-dev gdal-bin)
fehlend=()
for p in "${pakete[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || fehlend+=("$p")
done
if [ ${#fehlend[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${fehlend[@]}"
fi
