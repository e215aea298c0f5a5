#!/usr/bin/env bash
# Sums build-fuzz/campaign.tsv per target: total runs, seconds, mean runs a second, findings.
set -euo pipefail
cd "$(dirname "$0")/.."
awk -F'\t' 'NR > 1 { runs[$2] += $4; secs[$2] += $3; found[$2] += $7; corpus[$2] = $6 }
  END { printf "%-14s %12s %8s %8s %8s %s\n", "target", "runs", "seconds", "exec/s", "corpus", "findings";
        for (t in runs) printf "%-14s %12d %8d %8d %8d %d\n", t, runs[t], secs[t], runs[t] / secs[t], corpus[t], found[t] }' \
  build-fuzz/campaign.tsv
