#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own.
#
# The layers and what lies directly below each are listed in src/layers.txt; a layer may
# include its own headers, those of the layers it names and everything those may include
# (so `shell` reaches `views` and, through it, all of the core). `platform` holds only
# interfaces: every layer may include it, and it includes nothing but itself. Layers named
# side by side in one row of the architecture do not include each other: `checks`,
# `duplicates`, `editing`, `search` and `islands` are independent analyses, and `cli` and `qt`
# are two front ends. The one exception the code needs is `shell` over `views`: the shell
# drives the person list and its sort worker, so `shell` lists `views` below it and `views`
# never includes `shell`. An analysis that needs another adds that edge to src/layers.txt
# (a cycle is refused).
#
# Tests follow their layer: tests/LAYER may include src/ and tests/ headers of LAYER and of
# what LAYER may include, plus tests/common; tests/common itself builds on the store, so it
# may include `store` and below. Includes without a folder are the file's neighbours (or
# generated, like Qt's .moc files) and are not checked. bench/ sits above everything and is
# not checked.
#
# Usage: scripts/check-includes.sh   (from anywhere; exit status 1 lists the offending lines)
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(find src tests -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
[ ${#files[@]} -eq 0 ] && exit 0

{ grep -Hn -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' "${files[@]}" || true; } |
  awk -v table=src/layers.txt '
  function fail(msg) { print msg; bad++ }
  # Collapses "a/b/../c" to "a/c".
  function normalise(path,    parts, n, i, out, k) {
    n = split(path, parts, "/")
    k = 0
    for (i = 1; i <= n; i++) {
      if (parts[i] == "." || parts[i] == "") continue
      if (parts[i] == ".." && k > 0 && stack[k] != "..") { k--; continue }
      stack[++k] = parts[i]
    }
    out = ""
    for (i = 1; i <= k; i++) out = out (i > 1 ? "/" : "") stack[i]
    return out
  }
  BEGIN {
    while ((getline line < table) > 0) {
      sub(/#.*/, "", line)
      n = split(line, w, /[ \t]+/)
      first = 0
      for (i = 1; i <= n; i++) {
        if (w[i] == "") continue
        if (!first) { first = w[i]; layer[first] = 1; continue }
        if (!(w[i] in layer)) {
          printf "%s: %s lists %s below it before %s has a row of its own\n", table, first, w[i], w[i]
          bad++
        }
        may[first, w[i]] = 1
      }
    }
    # Everything reachable downwards; a layer reaching itself is a cycle.
    do {
      grown = 0
      for (a in layer) for (b in layer) if ((a, b) in may) for (c in layer)
        if (((b, c) in may) && !((a, c) in may)) { may[a, c] = 1; grown = 1 }
    } while (grown)
    for (a in layer) if ((a, a) in may) fail(table ": " a " lies below itself (a cycle)")
  }
  {
    # FILE:LINE:#include "PATH" (or <PATH>)
    file = $0; sub(/:.*/, "", file)
    rest = substr($0, length(file) + 2)
    lineno = rest; sub(/:.*/, "", lineno)
    text = substr(rest, length(lineno) + 2)
    quoted = (text ~ /include[ \t]*"/)
    path = text
    sub(/^[^"<]*["<]/, "", path); sub(/[">].*$/, "", path)

    split(file, fp, "/")
    top = fp[1]; own = fp[2]
    label = own
    if (top == "tests" && own == "common") { own = "store"; label = "tests/common (built on store)" }
    if (!(own in layer)) { fail(file ": the folder " fp[1] "/" fp[2] " is not a layer of " table); next }

    if (!quoted) {
      # System and library headers; only a layer folder in angle brackets is ours.
      split(path, pp, "/")
      if (!(pp[1] in layer) || index(path, "/") == 0) next
      target = pp[1]
    } else if (index(path, "/") == 0) {
      next
    } else if (path ~ /^\.\.?\//) {
      dir = file; sub(/\/[^\/]*$/, "", dir)
      resolved = normalise(dir "/" path)
      split(resolved, pp, "/")
      if ((pp[1] != "src" && pp[1] != "tests") || pp[3] == "") {
        fail(file ":" lineno ": " text "  (reaches outside src/ and tests/)"); next
      }
      target = pp[2]
      if (pp[1] == "tests" && target == "common") {
        if (top != "tests") fail(file ":" lineno ": " text "  (product code includes a test helper)")
        next
      }
    } else {
      split(path, pp, "/")
      target = pp[1]
      if (top == "tests" && target == "common") next
      if (!(target in layer)) {
        fail(file ":" lineno ": " text "  (" target "/ is not a layer of " table ")"); next
      }
    }
    if (target == own || ((own, target) in may)) next
    fail(file ":" lineno ": " text "  (" label " may not include " target ", which is not below it)")
  }
  END {
    if (bad) {
      printf "%d include(s) against the layer order of %s\n", bad, table
      exit 1
    }
  }'
