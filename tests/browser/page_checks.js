// What the browser made of the demo's report page, as one object. Evaluated
// in the page by page_test.py; breakAll first lets words break anywhere in
// the logs, which the wrap check must then find.
function reportPageChecks(breakAll) {
    if (breakAll) {
        const style = document.createElement("style");
        style.textContent = "table.log code, pre { word-break: break-all }";
        document.head.appendChild(style);
    }
    const outside = (inner, outer) =>
        inner.width + inner.height > 0 &&
        (inner.left < outer.left - 0.5 || inner.right > outer.right + 0.5 ||
         inner.top < outer.top - 0.5 || inner.bottom > outer.bottom + 0.5);

    // Per timeline: its launch lanes ("1. add-printer tool"), its failed
    // launches, the start marks drawn, and any mark or text drawn outside it.
    const timelines = [...document.querySelectorAll("svg[id^='timeline-']")].map((svg) => {
        const box = svg.getBoundingClientRect();
        const labels = [...svg.querySelectorAll("text[x='4']")].map((text) => text.textContent);
        return {
            id: svg.id,
            launches: labels.filter((label) => /^\d+\. /.test(label)).length,
            failed: labels.filter((label) => label === "failed launch").length,
            starts: [...svg.querySelectorAll("title")].filter((t) => /^launch \d+ started at/.test(t.textContent)).length,
            outside: [...svg.querySelectorAll("text, rect, path, line")]
                .filter((mark) => outside(mark.getBoundingClientRect(), box))
                .map((mark) => mark.textContent || mark.tagName),
        };
    });

    // A word is what lies between blanks, a backslash ending it: each must
    // stand on one line. Every log line and command line is looked at.
    const wrapped = [];
    let mostLines = 0;
    for (const block of document.querySelectorAll("table.log code, pre")) {
        const tops = new Set();
        const walker = document.createTreeWalker(block, NodeFilter.SHOW_TEXT);
        for (let node = walker.nextNode(); node; node = walker.nextNode()) {
            for (const word of node.data.matchAll(/[^\s\\]+\\?|\\/g)) {
                const range = document.createRange();
                range.setStart(node, word.index);
                range.setEnd(node, word.index + word[0].length);
                const lines = new Set([...range.getClientRects()].filter((r) => r.width > 0).map((r) => Math.round(r.top)));
                lines.forEach((top) => tops.add(top));
                if (lines.size > 1) wrapped.push(word[0]);
            }
        }
        if (block.tagName === "CODE") mostLines = Math.max(mostLines, tops.size);
    }
    return { timelines, wrapped, mostLines };
}
