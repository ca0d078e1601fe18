// The npm package's CommonJS module, for require(), which cannot wait: the
// same calls as the ES module's, the core compiled at once as node allows.
const { regions, programName, ...calls } = loadAeonmark(createCore, true); // the page's own
module.exports = { ...calls, AeonmarkError };
