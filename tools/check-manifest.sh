#!/usr/bin/env bash
# Checks the manifest against what the side-by-side loaders of XP SP2/SP3 and Server 2003 accept:
# in the namespace they know (asm.v1) only the elements of their schema, the application's own
# identity without the "*" architecture that is documented for dependencies only, and no element
# that declares a namespace twice (a restart on XP SP2 and 2003 before SP1). Anything newer must
# stand in a namespace of its own, which those loaders pass over.
# Usage: tools/check-manifest.sh [MANIFEST]
set -uo pipefail
manifest=${1:-$(dirname "$0")/../resources/app.manifest}
status=0
fail() { echo "check-manifest: $manifest: $*"; status=1; }

xmllint --noout "$manifest" || fail "not well-formed XML"
known='assembly|assemblyIdentity|description|dependency|dependentAssembly|file|noInherit|noInheritable|comClass|typelib|windowClass|comInterfaceExternalProxyStub|bindingRedirect'
v1="//*[namespace-uri()='urn:schemas-microsoft-com:asm.v1']"
for ((i = 1; i <= $(xmllint --xpath "count($v1)" "$manifest"); i++)); do
  element=$(xmllint --xpath "local-name(($v1)[$i])" "$manifest")
  [[ $element =~ ^($known)$ ]] || fail "<$element> in urn:schemas-microsoft-com:asm.v1, which the XP and 2003 loaders refuse"
done
own=$(xmllint --xpath "string(/*[local-name()='assembly']/*[local-name()='assemblyIdentity']/@processorArchitecture)" "$manifest")
[ "$own" = "*" ] && fail "the application's own assemblyIdentity has processorArchitecture=\"*\""
# Namespace declarations per element, attributes and tags across lines read as one.
while read -r tag; do
  fail "an element declares more than one namespace: $tag"
done < <(tr '\n' ' ' < "$manifest" | grep -o '<[A-Za-z][^>]*>' |
         awk '{ n = gsub(/xmlns(:[A-Za-z0-9_]+)?=/, "&") } n > 1 { print }')
[ $status -eq 0 ] && echo "manifest: only what the XP and Server 2003 loaders accept, newer settings in namespaces of their own"
exit $status
