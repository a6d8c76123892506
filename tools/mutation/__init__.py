"""The mutation testing behind tools/mutate; see docs/mutation.md."""
